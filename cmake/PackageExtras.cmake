# Run by CPack once it has made the packages (CPACK_PACKAGE_FILES), in the
# package folder's terms: on Windows builds the MSI from the files staged for
# the zip and fills in the winget manifest; on every build writes SHA256SUMS
# for the packages beside them.
set(packages ${CPACK_PACKAGE_FILES})

if(CPACK_KIRABO_WXS)
  if(NOT CPACK_KIRABO_WIXL OR NOT CPACK_KIRABO_MSIBUILD)
    message(FATAL_ERROR "wixl or msibuild (Debian's wixl and msitools) is missing: run scripts/bootstrap")
  endif()
  # The zip's staged folder holds exactly what the MSI installs.
  set(staged "${CPACK_TEMPORARY_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}")
  if(NOT EXISTS "${staged}/kirabo.exe")
    set(staged "${CPACK_TEMPORARY_DIRECTORY}")
  endif()
  set(msi "${CPACK_PACKAGE_DIRECTORY}/${CPACK_KIRABO_MSI}")
  # wixl takes sources by relative paths only, from the staged folder.
  file(RELATIVE_PATH resources "${staged}" "${CPACK_KIRABO_RES_DIR}")
  execute_process(
    COMMAND "${CPACK_KIRABO_WIXL}" --arch x64 -D "SourceDir=." -D "ResDir=${resources}" -o "${msi}"
            "${CPACK_KIRABO_WXS}"
    WORKING_DIRECTORY "${staged}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${msi}")
  endif()
  # The folder item's text in the user's language at install time. wixl
  # writes neither component conditions nor texts beyond ASCII, so the
  # database gets them here, in the Japanese code page, which also holds
  # every ASCII text.
  set(codepage "${CPACK_TEMPORARY_DIRECTORY}/_ForceCodepage.idt")
  file(WRITE "${codepage}" "\r\n\r\n932\t_ForceCodepage\r\n")
  execute_process(COMMAND "${CPACK_KIRABO_MSIBUILD}" "${msi}" -i "${codepage}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "msibuild could not set the code page of ${msi}")
  endif()
  # wixl makes the Start-menu shortcut an advertised one, which would lead
  # to the component's registry key path; it is to start the program.
  foreach(query
      "UPDATE `Shortcut` SET `Target` = '[#kirabo.exe]' WHERE `Shortcut` = 'StartMenuShortcut'"
      "UPDATE `Registry` SET `Value` = '${CPACK_KIRABO_FOLDER_ITEM_JA}' WHERE `Component_` = 'FolderItemJapanese'"
      "UPDATE `Component` SET `Condition` = 'UserLanguageID = 1041' WHERE `Component` = 'FolderItemJapanese'"
      "UPDATE `Component` SET `Condition` = 'NOT (UserLanguageID = 1041)' WHERE `Component` = 'FolderItemEnglish'")
    execute_process(COMMAND "${CPACK_KIRABO_MSIBUILD}" "${msi}" -q "${query}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "msibuild could not change ${msi}: ${query}")
    endif()
  endforeach()
  message(STATUS "Kirabo: ${msi} generated.")
  list(APPEND packages "${msi}")

  file(SHA256 "${msi}" KIRABO_MSI_SHA256)
  string(TOUPPER "${KIRABO_MSI_SHA256}" KIRABO_MSI_SHA256)
  file(GLOB templates "${CPACK_KIRABO_WINGET_TEMPLATES}/*.yaml.in")
  foreach(template ${templates})
    get_filename_component(name "${template}" NAME)
    string(REGEX REPLACE "\\.in$" "" name "${name}")
    configure_file("${template}" "${CPACK_PACKAGE_DIRECTORY}/winget/${name}" @ONLY)
  endforeach()
  message(STATUS "Kirabo: winget manifest in ${CPACK_PACKAGE_DIRECTORY}/winget.")
endif()

set(sums "")
foreach(package ${packages})
  file(SHA256 "${package}" sum)
  get_filename_component(name "${package}" NAME)
  string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE "${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS" "${sums}")
message(STATUS "Kirabo: ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS generated.")
