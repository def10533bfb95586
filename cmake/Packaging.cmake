# Binary packages, built with `cmake --build BUILD --target package`: the
# same install tree for every platform, the generator chosen per platform.

include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME kirabo)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Kirabo authors")
set(CPACK_PACKAGE_CONTACT "The Kirabo authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Kirabo renames Canon raw photographs (.CRW and .CR2) after the moment they were taken, read from inside each file, in a small Japanese window (kirabo) or from the command line (kirabo-cli). No file is ever replaced and no file's contents are changed.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
# `package_source` takes the checkout, not the build folders inside it. Dots
# are matched by [.]: CPack writes the patterns into a file of its own, which
# would read a backslash as an escape.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/[.]git$" "/build[^/]*/" "/out/" "[.]swp$")

if(WIN32)
  # kirabo-<version>-win64.zip: one folder holding the programs, the README
  # and the licence; unpacked anywhere, it runs as it is.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "kirabo-${PROJECT_VERSION}-win64")
  install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION .)
else()
  set(CPACK_GENERATOR DEB)
  install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kirabo RENAME copyright)

  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
  # The Qt and C++ libraries come from dpkg-shlibdeps; the font is what the
  # window's Japanese texts are drawn with where "ＭＳ Ｐゴシック" is missing.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
endif()

include(CPack)
