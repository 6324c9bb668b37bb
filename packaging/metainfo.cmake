# The AppStream metadata (share/metainfo/), which software centres list
# programs by, for both install ways. Its release is the Debian changelog's
# latest entry. Included by install.cmake after debian.cmake.

# An http(s) address from the cache, as it goes into XML, in `out`.
function(waterfall_xml_url variable out)
  if(NOT ${variable} MATCHES "^https?://[^ ]+$")
    message(FATAL_ERROR "${variable} is no http(s) address: ${${variable}}")
  endif()
  string(REPLACE "&" "&amp;" url "${${variable}}")
  string(REPLACE "<" "&lt;" url "${url}")
  set(${out} "${url}" PARENT_SCOPE)
endfunction()

# The project's home page (install.cmake sets it; the Debian package's
# Homepage too). AppStream 1.0 warns without one.
waterfall_xml_url(WATERFALL_HOMEPAGE_URL WATERFALL_METAINFO_HOMEPAGE)

# Software centres download the screenshot from where the project publishes
# it. The project has no public host yet, so there is none unless given.
set(WATERFALL_SCREENSHOT_URL "" CACHE STRING
    "The https:// address of docs/screenshot.png for software centres; none when empty")
set(WATERFALL_METAINFO_SCREENSHOTS "")
if(WATERFALL_SCREENSHOT_URL)
  waterfall_xml_url(WATERFALL_SCREENSHOT_URL url)
  set(WATERFALL_METAINFO_SCREENSHOTS "  <screenshots>
    <screenshot type=\"default\">
      <caption>Water Fall pouring onto the ground between its rocks</caption>
      <image type=\"source\" width=\"400\" height=\"400\">${url}</image>
    </screenshot>
  </screenshots>
")
endif()

# The changelog's trailer line ends in an RFC 5322 date: "Tue, 08 Dec 2026 ...".
file(STRINGS ${WATERFALL_DEB_SOURCE_DIR}/changelog trailer REGEX "^ -- " LIMIT_COUNT 1)
if(NOT trailer MATCHES ">  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/debian/changelog's latest entry has no date: ${trailer}")
endif()
set(day ${CMAKE_MATCH_1})
set(year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} month)  # 0 for January
if(month EQUAL -1)
  message(FATAL_ERROR "packaging/debian/changelog's latest date has no month: ${trailer}")
endif()
math(EXPR month "${month} + 101")  # two digits after a "1"
string(SUBSTRING ${month} 1 2 month)
set(WATERFALL_RELEASE_DATE ${year}-${month}-${day})

set(WATERFALL_METAINFO ${PROJECT_BINARY_DIR}/packaging/${WATERFALL_APP_ID}.metainfo.xml)
configure_file(${CMAKE_CURRENT_LIST_DIR}/metainfo.xml.in ${WATERFALL_METAINFO} @ONLY)
install(FILES ${WATERFALL_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT waterfall)
