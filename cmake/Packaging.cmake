# Binary packages, built with `cmake --build BUILD --target package`: the
# same install tree for every platform, the generator chosen per platform.

include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME kirabo)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Kirabo authors")
set(CPACK_PACKAGE_CONTACT "The Kirabo authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The makers and extensions from the raw-format table (RawFormats.cmake).
set(CPACK_PACKAGE_DESCRIPTION
    "Kirabo renames the raw photographs of ${KIRABO_RAW_CAMERAS} cameras, and DNG files (${KIRABO_RAW_EXTENSION_LIST}), after the moment they were taken, read from inside each file, in a window in Japanese or English (kirabo) or from the command line (kirabo-cli). No file is ever replaced and no file's contents are changed.")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
# `package_source` takes the checkout, not the build folders inside it. Dots
# are matched by [.]: CPack writes the patterns into a file of its own, which
# would read a backslash as an escape.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/[.]git/" "/[.]git$" "/build[^/]*/" "/out/" "[.]swp$")

if(WIN32)
  # kirabo-<version>-win64.zip: one folder holding the programs, the README
  # and the licence; unpacked anywhere, it runs as it is. The README is the
  # user's, not the developers', and both are plain text with CRLF lines.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "kirabo-${PROJECT_VERSION}-win64")
  configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in" README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file("${PROJECT_SOURCE_DIR}/LICENSE" LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/README.txt" "${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt" DESTINATION .)

  # kirabo-<version>-win64.msi, built by wixl from the files staged for the
  # zip. The upgrade code and the components' ids never change, so that a
  # newer MSI replaces an older one in place; each version gets a product
  # code of its own, derived from the upgrade code and the version.
  set(KIRABO_MSI_UPGRADE_CODE 57E37CEC-0048-4037-9947-BF2BC6DA912D)
  set(KIRABO_MSI_PROGRAMS_GUID 87DA8290-62B9-48EA-8AEC-B788A8E80303)
  set(KIRABO_MSI_FOLDER_ITEM_JA_GUID EE6A247E-390B-4EEB-BCC3-BC9EECF9790A)
  set(KIRABO_MSI_FOLDER_ITEM_EN_GUID 33836F3C-3815-4721-ADB7-D093C5E36087)
  set(KIRABO_MSI_FOLDER_COMMAND_GUID 3749ACF6-A83C-4475-BD20-0A8CD8AD779E)
  set(KIRABO_MSI_SHORTCUT_GUID C3845FD7-2C86-4E34-809B-A9CB723D55D1)
  string(UUID KIRABO_MSI_PRODUCT_CODE NAMESPACE ${KIRABO_MSI_UPGRADE_CODE} NAME "${PROJECT_VERSION}" TYPE SHA1 UPPER)
  # The Explorer item's text, both languages, from the translation file.
  file(READ "${PROJECT_SOURCE_DIR}/res/translations/kirabo_en.ts" translations)
  string(REGEX MATCH "<name>Installer</name>[ \t\r\n]*<message>[ \t\r\n]*<source>([^<]*)</source>[ \t\r\n]*<translation>([^<]*)</translation>"
         found "${translations}")
  if(NOT found)
    message(FATAL_ERROR "kirabo_en.ts has no Installer text")
  endif()
  set(KIRABO_FOLDER_ITEM_JA "${CMAKE_MATCH_1}")
  set(KIRABO_FOLDER_ITEM_EN "${CMAKE_MATCH_2}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/res/translations/kirabo_en.ts")
  configure_file("${PROJECT_SOURCE_DIR}/packaging/windows/kirabo.wxs.in" kirabo.wxs @ONLY)
  set(CPACK_KIRABO_FOLDER_ITEM_JA "${KIRABO_FOLDER_ITEM_JA}")
  find_program(KIRABO_WIXL wixl)
  find_program(KIRABO_MSIBUILD msibuild)
  set(CPACK_KIRABO_WIXL "${KIRABO_WIXL}")
  set(CPACK_KIRABO_MSIBUILD "${KIRABO_MSIBUILD}")
  set(CPACK_KIRABO_WXS "${CMAKE_CURRENT_BINARY_DIR}/kirabo.wxs")
  set(CPACK_KIRABO_RES_DIR "${PROJECT_SOURCE_DIR}/res")
  set(CPACK_KIRABO_MSI "kirabo-${PROJECT_VERSION}-win64.msi")

  # The winget manifest of the MSI, filled in once its checksum is known.
  set(CPACK_KIRABO_WINGET_TEMPLATES "${PROJECT_SOURCE_DIR}/packaging/winget")
  set(CPACK_KIRABO_MSI_URL "${KIRABO_DOWNLOAD_URL}/kirabo-${PROJECT_VERSION}-win64.msi")
  set(CPACK_KIRABO_MSI_PRODUCT_CODE "${KIRABO_MSI_PRODUCT_CODE}")
  set(CPACK_KIRABO_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
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

# After the packages: the MSI and the winget manifest (Windows), and the
# SHA256SUMS of every package made, beside them.
set(CPACK_POST_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/PackageExtras.cmake")

include(CPack)
