# The raw formats for files that cannot call C++ (the desktop entry, the
# package description), read at configure time from the engine's raw-format
# table, the one place that knows them:
#   KIRABO_RAW_EXTENSIONS  every extension, upper case, without the dot
#   KIRABO_RAW_MAKERS      every maker, each once, in the table's order
#   KIRABO_RAW_CAMERAS     the makers but DNG in words: "Canon, ... and Minolta"
#   KIRABO_RAW_EXTENSION_LIST  the extensions in a sentence: ".CRW, .CR2, ..."
#   KIRABO_RAW_MAN_EXTENSIONS  the extensions for a man page, each in bold
# A test checks the files made from them against the table itself.

set(_table "${PROJECT_SOURCE_DIR}/engine/RawFormatTable.cpp")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_table}")
file(READ "${_table}" _source)

set(KIRABO_RAW_EXTENSIONS "")
string(REGEX MATCHALL "constexpr std::string_view k[A-Za-z0-9]+\\[\\] = {[^}]*}" _arrays "${_source}")
foreach(_array IN LISTS _arrays)
  string(REGEX MATCHALL "\"[A-Z0-9]+\"" _quoted "${_array}")
  foreach(_extension IN LISTS _quoted)
    string(REPLACE "\"" "" _extension "${_extension}")
    list(APPEND KIRABO_RAW_EXTENSIONS "${_extension}")
  endforeach()
endforeach()

# Rows read {"Canon (CIFF)", kCrw, ...} or {"Olympus, OM System", kOlympus, ...}.
set(KIRABO_RAW_MAKERS "")
string(REGEX MATCHALL "{\"[^\"]+\", k[A-Za-z0-9]+," _rows "${_source}")
foreach(_row IN LISTS _rows)
  string(REGEX REPLACE "^{\"([^\"(]+)( \\([^\"]*\\))?\".*" "\\1" _makers "${_row}")
  string(REPLACE ", " ";" _makers "${_makers}")
  list(APPEND KIRABO_RAW_MAKERS ${_makers})
endforeach()
list(REMOVE_DUPLICATES KIRABO_RAW_MAKERS)

if(NOT KIRABO_RAW_EXTENSIONS OR NOT KIRABO_RAW_MAKERS)
  message(FATAL_ERROR "No raw formats found in ${_table}")
endif()

set(_cameras ${KIRABO_RAW_MAKERS})
list(REMOVE_ITEM _cameras DNG)
list(POP_BACK _cameras _lastCamera)
list(JOIN _cameras ", " KIRABO_RAW_CAMERAS)
string(APPEND KIRABO_RAW_CAMERAS " and ${_lastCamera}")
list(JOIN KIRABO_RAW_EXTENSIONS ", ." KIRABO_RAW_EXTENSION_LIST)
string(PREPEND KIRABO_RAW_EXTENSION_LIST ".")
set(_bold "")
foreach(_extension IN LISTS KIRABO_RAW_EXTENSIONS)
  list(APPEND _bold "\\fB.${_extension}\\fR")
endforeach()
list(JOIN _bold ", " KIRABO_RAW_MAN_EXTENSIONS)
