# What `cmake --install` puts under the prefix, and the Debian package CPack
# makes of it (scripts/package). Only the four programs and their desktop
# files are installed: nothing of the tests or benchmarks.
include(GNUInstallDirs)

install(TARGETS zorvel zorvel-g4 zorvel-marks zorvel-make-sample RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry, its icon and the AppStream description.
set(ZORVEL_APP_ID org.zorvel.Zorvel)
configure_file(${PROJECT_SOURCE_DIR}/data/${ZORVEL_APP_ID}.metainfo.xml
               ${PROJECT_BINARY_DIR}/data/${ZORVEL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ZORVEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ZORVEL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_BINARY_DIR}/data/${ZORVEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The man pages, written in scdoc and built with the programs.
find_program(ZORVEL_SCDOC scdoc)
if(ZORVEL_SCDOC)
  file(GLOB man_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/man/*.scd)
  set(man_pages "")
  foreach(source ${man_sources})
    get_filename_component(page ${source} NAME_WLE)
    set(versioned ${PROJECT_BINARY_DIR}/man/${page}.scd)
    set(output ${PROJECT_BINARY_DIR}/man/${page}.gz)
    configure_file(${source} ${versioned} @ONLY)
    add_custom_command(OUTPUT ${output}
                       COMMAND sh -c "${ZORVEL_SCDOC} < '${versioned}' | gzip -9n > '${output}'"
                       DEPENDS ${versioned} VERBATIM)
    list(APPEND man_pages ${output})
  endforeach()
  add_custom_target(zorvel_man ALL DEPENDS ${man_pages})
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "scdoc not found: the man pages are neither built nor installed")
endif()

# The package: build/zorvel_VERSION_ARCH.deb. Its dependencies come from the
# libraries the programs link (dpkg-shlibdeps), plus what is loaded at run
# time: the Ming face the windows ask for and Qt's platform plugins.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvel)
set(CPACK_PACKAGE_VENDOR "Zorvel")
set(CPACK_PACKAGE_CONTACT "Zorvel developers <zorvel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "proofreading workbench for Big5 texts and their scanned pages")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Zorvel shows a Big5 proof text beside the scanned page (Group 4 TIFF) it was\n"
       "transcribed from, finds each difference mark, marks the character on the scan\n"
       "and lets the proofreader choose the right reading with one key.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# The programs are built before packaging (scripts/package); packaging builds nothing.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
