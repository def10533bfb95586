# Run by CPack once it has made the packages (CPACK_PACKAGE_FILES), in the
# package folder's terms: on Windows builds the MSI from the files staged for
# the zip and fills in the winget manifest; on every build writes SHA256SUMS
# for the packages beside them.
set(packages ${CPACK_PACKAGE_FILES})

if(CPACK_KIRABO_WXS)
  if(NOT CPACK_KIRABO_WIXL)
    message(FATAL_ERROR "wixl (Debian's msitools) is missing: run scripts/bootstrap")
  endif()
  # The zip's staged folder holds exactly what the MSI installs.
  set(staged "${CPACK_TEMPORARY_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}")
  if(NOT EXISTS "${staged}/kirabo.exe")
    set(staged "${CPACK_TEMPORARY_DIRECTORY}")
  endif()
  set(msi "${CPACK_PACKAGE_DIRECTORY}/${CPACK_KIRABO_MSI}")
  execute_process(
    COMMAND "${CPACK_KIRABO_WIXL}" --arch x64 -D "SourceDir=${staged}" -D "ResDir=${CPACK_KIRABO_RES_DIR}"
            -o "${msi}" "${CPACK_KIRABO_WXS}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "wixl could not build ${msi}")
  endif()
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
