#pragma once
// Work on many files at once with the output of one: work(i) runs for every
// index on up to `jobs` threads, and emit(i, result) gets the results on the
// calling thread in index order, each as soon as it and every one before it
// are done. done(n) is told, on the calling thread, each time more results
// have come in (n of them so far, in any order).

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace zorvel::cli {

template <class Result>
void RunInOrder(std::size_t count, int jobs, const std::function<Result(std::size_t)>& work,
                const std::function<void(std::size_t, Result&)>& emit,
                const std::function<void(std::size_t)>& done = {}) {
  const std::size_t threads = std::min<std::size_t>(count, static_cast<std::size_t>(std::max(jobs, 1)));
  if (threads <= 1) {
    for (std::size_t i = 0; i < count; ++i) {
      Result result = work(i);
      if (done) done(i + 1);
      emit(i, result);
    }
    return;
  }

  std::mutex mutex;
  std::condition_variable ready;
  std::vector<std::optional<Result>> results(count);
  std::size_t next = 0;      // the next index a worker takes
  std::size_t finished = 0;  // results in
  auto worker = [&] {
    for (;;) {
      std::size_t i;
      {
        std::lock_guard lock(mutex);
        if (next == count) return;
        i = next++;
      }
      Result result = work(i);
      {
        std::lock_guard lock(mutex);
        results[i].emplace(std::move(result));
        ++finished;
      }
      ready.notify_one();
    }
  };
  std::vector<std::jthread> pool;
  pool.reserve(threads);
  for (std::size_t t = 0; t < threads; ++t) pool.emplace_back(worker);

  std::size_t emitted = 0;
  std::size_t told = 0;
  while (emitted < count) {
    std::vector<Result> batch;
    std::size_t in = 0;
    {
      std::unique_lock lock(mutex);
      ready.wait(lock, [&] { return finished > told; });
      in = finished;
      for (std::size_t i = emitted; i < count && results[i]; ++i) {
        batch.push_back(std::move(*results[i]));
        results[i].reset();
      }
    }
    if (done && in > told) done(in);
    told = in;
    for (Result& result : batch) emit(emitted++, result);
  }
}

}  // namespace zorvel::cli
