# Run by the build (cmake -P) once the page's files are made: writes
# service-worker.js from its template with each file's SHA-256 as subresource
# integrity, and the build's name, a digest of them all, that names its cache.
# Takes FOLDER (the page's folder), FILES (the names the worker keeps, joined
# by "|"), TEMPLATE and OUTPUT.
cmake_minimum_required(VERSION 3.22)

set(BASE64_DIGITS "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")

# Sets `out` to the base64 of the bytes written in hexadecimal in `hex`.
function(base64_of_hex hex out)
  string(LENGTH ${hex} length)
  math(EXPR last "${length} - 1")
  set(text "")
  foreach(start RANGE 0 ${last} 6)  # three bytes give four digits
    string(SUBSTRING ${hex} ${start} 6 group)
    string(LENGTH ${group} bytes)
    math(EXPR bytes "${bytes} / 2")
    math(EXPR bits "0x${group} << (8 * (3 - ${bytes}))")
    foreach(digit RANGE 3)
      if(digit GREATER bytes)
        string(APPEND text "=")
      else()
        math(EXPR index "(${bits} >> (18 - 6 * ${digit})) & 63")
        string(SUBSTRING ${BASE64_DIGITS} ${index} 1 char)
        string(APPEND text ${char})
      endif()
    endforeach()
  endforeach()
  set(${out} ${text} PARENT_SCOPE)
endfunction()

string(REPLACE "|" ";" FILES "${FILES}")
set(WATERFALL_WEB_FILE_INTEGRITY "")
set(digests "")
foreach(name IN LISTS FILES)
  file(SHA256 ${FOLDER}/${name} hex)
  base64_of_hex(${hex} integrity)
  string(APPEND WATERFALL_WEB_FILE_INTEGRITY "  '${name}': 'sha256-${integrity}',\n")
  string(APPEND digests "${name} ${hex}\n")
endforeach()
string(SHA256 WATERFALL_WEB_BUILD "${digests}")
string(SUBSTRING ${WATERFALL_WEB_BUILD} 0 16 WATERFALL_WEB_BUILD)  # 64 bits tell builds apart
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
