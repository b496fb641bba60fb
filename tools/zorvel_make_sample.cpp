// zorvel-make-sample WORKSPACE_DIR: makes a small working folder to try Zorvel
// in. It holds
//   - T01n0001.txt: a Big5 proof text of the first three pages of volume 1,
//     with line heads, difference marks of two and three readings (some of
//     them agreeing), full stops, "[..]" groups and "<..>" tags;
//   - T01/001-100/01-NNN.TIF: the scans of pages 1 to 6 as Group 4 TIFFs, in
//     the folder layout the "<@>" placeholder finds; page 4 is missing and
//     page 5 is cut short, so that a run over the pages has something to
//     report;
//   - zorvel.ini: the page file template pointing into those folders and a
//     window layout that shows the text beside the page.
//
// Every printed character stands exactly where the default picture settings
// put it once the page's top-right corner is found: character c of line L of
// register r is the cell WordWidth x WordHeight whose right edge lies
// FirstCharX + LineSpace x L from the right edge of the page and whose top
// lies FirstCharY + FieldSpace x r + WordHeight x c from the top. The printed
// frame stands RightTopX and RightTopY outside the first character, so the
// corner search finds FirstCharX and FirstCharY.
//
// Only what is missing is made: an edited text, zorvel.ini or calibration file
// and the pages already there are left as they are.

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "codec/a_tif_g4.h"
#include "core/cli/command_line.h"
#include "core/settings/atomic_file.h"
#include "core/settings/settings.h"
#include "core/text/big5.h"
#include "pagegen/page_generator.h"

namespace fs = std::filesystem;

namespace {

constexpr int kPageWidth = 2400;
constexpr int kPageHeight = 3400;
constexpr int kPages = 6;      // pages 1 to 6 exist in the volume
constexpr int kTextPages = 3;  // the proof text covers pages 1 to 3
constexpr int kMissingPage = 4;
constexpr int kCorruptPage = 5;
constexpr int kLines = 29;  // lines of a register
constexpr int kCells = 17;  // characters of a full line

// Where the frame's outer top-right corner stands, and so the first character.
constexpr int kFrameRight = 2249;  // rightmost column of the right border
constexpr int kFrameTop = 150;     // top row of the top border
constexpr int kFrameThickness = 5;

const char* const kFileNameFormat = "T<V>/<@>/<V>-<P>.TIF";
const char* const kTextName = "T01n0001.txt";

// The text the volume's pages print, read round and round. Full stops take no
// room on the page.
const char* const kPassage =
    "如是我聞。一時佛在舍衛國祇樹花林窟。與大比丘眾千二百五十人俱。時諸比丘於乞食後集花林堂。各共議言。"
    "諸賢比丘。唯無上尊為最奇特。神通遠達。威力弘大。乃知過去無數諸佛入於涅槃。斷諸結使。消滅戲論。"
    "又知彼佛劫數多少。名號姓字。所生種族。其所飲食。壽命修短。所更苦樂。又知彼佛有如是戒。有如是法。"
    "有如是慧。有如是解。有如是住。云何。諸賢。如來為善別法性。知如是事。為諸天來語。乃知此事。爾時。"
    "世尊在閑靜處。天耳清淨。聞諸比丘作如是議。即從座起。詣花林堂。就座而坐。爾時。世尊知而故問。"
    "謂諸比丘。汝等集此。何所語議。時諸比丘具以事答。爾時。世尊告諸比丘。善哉。善哉。汝等以平等信出家修道。"
    "諸所應行。凡有二業。一曰賢聖講法。二曰賢聖默然。汝等所論。正應如是。如來神通。威力弘大。"
    "盡知過去無數劫事。以能善解法性故知。亦以天告故知。佛時頌曰。比丘集法堂。講說賢聖論。如來處靜室。"
    "天耳盡聞知。佛日光普照。分別法界義。亦知過去事。三佛般泥洹。名號姓種族。受生分亦知。隨彼之處所。"
    "淨眼皆記之。諸天大威力。容貌甚端嚴。亦來啟告我。三佛般泥洹。記生名號姓。哀鸞音盡知。";

// Other readings for a character: its variant form where it has a common one,
// else one of the characters that scribes confuse.
std::string OtherReading(const std::string& c, int which) {
  static const std::pair<const char*, const char*> variants[] = {
      {"於", "于"}, {"爾", "尒"}, {"閑", "閒"}, {"恆", "恒"}, {"粗", "麤"}, {"蔽", "弊"},
  };
  if (which == 0) {
    for (auto [from, to] : variants) {
      if (c == from) return to;
    }
  }
  static const char* const confusions[] = {"已", "巳", "己", "未", "末", "土",
                                           "士", "曰", "日", "太", "天", "夫"};
  const int count = static_cast<int>(std::size(confusions));
  unsigned hash = 2166136261u;
  for (unsigned char b : c) hash = (hash ^ b) * 16777619u;
  for (int i = 0;; ++i) {
    const std::string other = confusions[(hash + which * 5 + i) % count];
    if (other != c) return other;
  }
}

// The UTF-8 characters of a text.
std::vector<std::string> Characters(const std::string& utf8) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char b = utf8[i];
    const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    out.push_back(utf8.substr(i, n));
    i += n;
  }
  return out;
}

// One printed character cell: a character of the font, or a character that
// the font lacks (a composed "[..]" group), drawn as strokes.
struct Cell {
  std::string Char;  // UTF-8; empty for a composed character
};

// One line of the volume: where it stands, the proof text after its line head
// (UTF-8) and the cells it prints.
struct Line {
  int Page = 0;
  int Register = 0;
  int Index = 0;  // from 0
  std::string Text;
  std::vector<Cell> Cells;
};

class PassageReader {
 public:
  PassageReader() : chars_(Characters(kPassage)) {}
  // The next printed character; full stops on the way go to the proof text.
  std::string Next(std::string& text) {
    for (;;) {
      const std::string c = chars_[at_++ % chars_.size()];
      if (c == "。") {
        if (!text.empty()) text += c;
        continue;
      }
      return c;
    }
  }

 private:
  std::vector<std::string> chars_;
  std::size_t at_ = 0;
};

// The lines of pages 1 to kPages, in reading order.
std::vector<Line> ComposeVolume() {
  std::vector<Line> lines;
  PassageReader passage;
  int serial = 0;  // lines of running text so far
  int marks = 0;
  bool paragraphStart = true;
  for (int page = 1; page <= kPages; ++page) {
    for (int reg = 0; reg < 3; ++reg) {
      for (int index = 0; index < kLines; ++index) {
        Line line{page, reg, index, {}, {}};
        if (page == 1 && reg == 0 && index < 2) {
          // The preface's title and its author; the title's last character
          // carries the first mark.
          const char* const heading = index == 0 ? "長阿含經序" : "長安釋僧肇述";
          for (const std::string& c : Characters(heading)) line.Cells.push_back({c});
          if (index == 0) {
            line.Text = "長阿含經{{序||敘}}";
            ++marks;
          } else {
            line.Text = heading;
          }
          lines.push_back(line);
          continue;
        }
        const int g = serial++;
        const int length = g % 23 == 22 ? 9 : kCells;  // a paragraph ends short
        const int composedAt = g % 10 == 4 ? 2 : -1;
        const int variantAt = g % 10 == 9 ? 5 : -1;
        int markAt = g % 3 == 0 ? (g * 7 + 3) % length : -1;
        if (markAt >= 0 && (markAt == composedAt || markAt == variantAt)) markAt = (markAt + 1) % length;
        if (paragraphStart) line.Text += "<p>";
        for (int c = 0; c < length; ++c) {
          if (c == composedAt) {
            line.Text += "[口*良]";
            line.Cells.push_back({});
            continue;
          }
          std::string ch = passage.Next(line.Text);
          if (c == variantAt) {
            line.Text += "[" + ch + ">" + OtherReading(ch, 1) + "]";
          } else if (c == markAt) {
            const std::string v = OtherReading(ch, 0);
            const std::string w = OtherReading(ch, 1);
            switch (marks++ % 4) {
              case 0:  // two readings
                line.Text += "{{" + ch + "||" + v + "}}";
                break;
              case 1:  // three readings
                line.Text += "{{" + ch + "||" + v + "||" + w + "}}";
                break;
              case 2:  // the second and third agree
                line.Text += "{{" + ch + "||" + v + "||" + v + "}}";
                break;
              default:  // the first and third agree
                line.Text += "{{" + ch + "||" + v + "||" + ch + "}}";
                break;
            }
          } else {
            line.Text += ch;
          }
          line.Cells.push_back({ch});
        }
        paragraphStart = length < kCells;
        if (paragraphStart && !line.Text.ends_with("。")) line.Text += "。";
        lines.push_back(line);
      }
    }
  }
  return lines;
}

std::string LineHead(const Line& line) {
  char head[64];
  std::snprintf(head, sizeof head, "T01n0001_p%04d%c%02d", line.Page, 'a' + line.Register, line.Index + 1);
  return std::string(head) + "║";
}

// The proof text of the first kTextPages pages, Big5 with CR LF.
bool ProofText(const std::vector<Line>& lines, std::string& big5) {
  std::string utf8;
  for (const Line& line : lines) {
    if (line.Page > kTextPages) break;
    utf8 += LineHead(line) + line.Text + "\r\n";
  }
  int replaced = 0;
  big5 = zorvel::Utf8ToBig5(utf8, &replaced);
  if (replaced != 0) {
    std::fprintf(stderr, "zorvel-make-sample: %d characters of the text have no Big5 code\n", replaced);
    return false;
  }
  return true;
}

struct Geometry {
  int FirstCharX = 0;  // from the right edge
  int FirstCharY = 0;
  zorvel::Settings Settings;
};

// The cell of character c of line l of register r, on the page.
QRect CellRect(const Geometry& g, int r, int l, int c) {
  const zorvel::Settings& s = g.Settings;
  const int right = kPageWidth - g.FirstCharX - s.LineSpace * l;
  const int top = g.FirstCharY + s.FieldSpace * r + s.WordHeight * c;
  return QRect(right - s.WordWidth, top, s.WordWidth, s.WordHeight);
}

// Prints the page: the frame, the volume's running head, and every cell of its
// lines. The characters come from the Ming face and are cut to black and white
// as a scanner would.
zorvel::pagegen::Bitmap DrawPage(const Geometry& g, const std::vector<Line>& lines, int page) {
  QImage canvas(kPageWidth, kPageHeight, QImage::Format_Grayscale8);
  canvas.fill(255);
  std::vector<QRect> composed;
  {
    QPainter painter(&canvas);
    painter.setPen(Qt::black);
    QFont face("AR PL UMing TW");
    face.setPixelSize(g.Settings.WordHeight - 7);
    face.setStyleStrategy(QFont::PreferAntialias);
    painter.setFont(face);
    const QFontMetrics metrics(face);
    for (const Line& line : lines) {
      if (line.Page != page) continue;
      for (int c = 0; c < static_cast<int>(line.Cells.size()); ++c) {
        const QRect cell = CellRect(g, line.Register, line.Index, c);
        const QString ch = QString::fromStdString(line.Cells[c].Char);
        if (ch.isEmpty() || !metrics.inFont(ch.at(0))) {
          composed.push_back(cell);
          continue;
        }
        painter.drawText(cell, Qt::AlignCenter, ch);
      }
    }
    // The running head above the frame, left of the columns the corner search
    // probes.
    QFont small = face;
    small.setPixelSize(34);
    painter.setFont(small);
    painter.drawText(QRect(200, 90, 600, 44), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromUtf8("長阿含經卷第一"));
    painter.drawText(QRect(1100, kFrameTop + 2800 + 20, 200, 44), Qt::AlignCenter, QString::number(page));
  }

  zorvel::pagegen::Bitmap bitmap(kPageWidth, kPageHeight);
  for (int y = 0; y < kPageHeight; ++y) {
    const uchar* grey = canvas.constScanLine(y);
    for (int x = 0; x < kPageWidth; ++x) {
      if (grey[x] < 128) bitmap.Set(x, y, true);
    }
  }
  const int margin = 4;
  for (std::size_t i = 0; i < composed.size(); ++i) {
    const QRect& cell = composed[i];
    zorvel::pagegen::DrawGlyph(bitmap, cell.x() + margin, cell.y() + margin, cell.width() - 2 * margin,
                               cell.height() - 2 * margin, static_cast<std::uint32_t>(page * 1000 + i));
  }
  // The frame: its outer right and top edges where the corner search finds them.
  const int left = 150;
  const int bottom = kFrameTop + 2800;
  zorvel::pagegen::DrawFrame(bitmap, left, kFrameTop, kFrameRight + 1 - left, bottom - kFrameTop,
                             kFrameThickness);
  return bitmap;
}

std::string PagePath(const fs::path& workspace, int page) {
  char name[32];
  std::snprintf(name, sizeof name, "01-%03d.TIF", page);
  return (workspace / "T01" / "001-100" / name).string();
}

bool WriteIfMissing(const fs::path& path, const std::string& bytes, bool& made) {
  made = false;
  std::error_code ec;
  if (fs::exists(path, ec)) return true;
  if (!zorvel::WriteFileAtomically(path.string(), bytes)) {
    std::fprintf(stderr, "zorvel-make-sample: cannot write %s\n", path.string().c_str());
    return false;
  }
  made = true;
  return true;
}

std::string IniText() {
  const char* const lines[] = {
      "[Screen]",       "SaveScreen=1",  "MainTop=0",      "MainLeft=0",      "MainWidth=1400",
      "MainHeight=900", "TextTop=0",     "TextLeft=0",     "TextWidth=620",   "TextHeight=720",
      "ImageTop=0",     "ImageLeft=620", "ImageWidth=760", "ImageHeight=720", "[Picture]",
  };
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  text += std::string("PictureFileNameFormat=") + kFileNameFormat + "\r\n";
  return text;
}

// Cuts a written page short, so that it opens but does not decode.
bool Truncate(const std::string& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec) return false;
  fs::resize_file(path, size * 2 / 5, ec);
  if (ec) return false;
  zorvel::ATifG4 reader(path);
  return zorvel::ReadPage(reader) != zorvel::erOk;
}

}  // namespace

int main(int argc, char** argv) {
  zorvel::cli::CommandLine line("zorvel-make-sample", {"WORKSPACE_DIR"},
                                "Makes a small working folder to try Zorvel in: a Big5 proof text, the\n"
                                "scans of its pages as Group 4 TIFFs and a zorvel.ini that points at them.\n"
                                "Files already there are left as they are.");
  line.Arguments(1, 1);
  if (const int status = line.Parse(argc, argv); status >= 0) return status;
  // The pages are printed off screen whatever display there is.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const fs::path workspace(line.Positional()[0]);
  std::error_code ec;
  fs::create_directories(workspace / "T01" / "001-100", ec);
  if (ec) {
    std::fprintf(stderr, "zorvel-make-sample: cannot make %s: %s\n", workspace.string().c_str(),
                 ec.message().c_str());
    return 1;
  }

  const std::vector<Line> lines = ComposeVolume();
  Geometry geometry;
  geometry.FirstCharX = kPageWidth - kFrameRight + geometry.Settings.RightTopX;
  geometry.FirstCharY = kFrameTop + geometry.Settings.RightTopY;

  int made = 0;
  bool ok = true;
  std::string text;
  bool wrote = false;
  ok = ProofText(lines, text) && WriteIfMissing(workspace / kTextName, text, wrote) && ok;
  made += wrote;
  ok = WriteIfMissing(workspace / "zorvel.ini", IniText(), wrote) && ok;
  made += wrote;

  for (int page = 1; page <= kPages && ok; ++page) {
    if (page == kMissingPage) continue;
    const std::string path = PagePath(workspace, page);
    if (fs::exists(path, ec)) continue;
    const std::string temporary = path + ".part";
    std::string error;
    if (!zorvel::pagegen::WriteG4Tiff(temporary, DrawPage(geometry, lines, page), {}, &error)) {
      std::fprintf(stderr, "zorvel-make-sample: cannot write %s: %s\n", path.c_str(), error.c_str());
      fs::remove(temporary, ec);
      ok = false;
      break;
    }
    if (page == kCorruptPage && !Truncate(temporary)) {
      std::fprintf(stderr, "zorvel-make-sample: %s still decodes after cutting it short\n", path.c_str());
      fs::remove(temporary, ec);
      ok = false;
      break;
    }
    fs::rename(temporary, path, ec);
    if (ec) {
      std::fprintf(stderr, "zorvel-make-sample: cannot write %s: %s\n", path.c_str(), ec.message().c_str());
      ok = false;
      break;
    }
    ++made;
  }
  if (!ok) return 1;
  std::printf("zorvel-make-sample: %s ready (%d files made)\n", workspace.string().c_str(), made);
  return 0;
}
