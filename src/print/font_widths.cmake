# Writes the advance widths of the 256 WinAnsiEncoding codes in Helvetica and Helvetica-Bold
# as a C++ header, from the fonts' metric files (AFM) and the encoding's glyph names:
#   cmake -DREGULAR=...afm -DBOLD=...afm -DNAMES=winansi_names.txt -DOUT=font_widths.inc -P ...
# Codes below 32 have no glyph (width 0); an unused code takes the bullet's width, as readers
# draw it.
file(STRINGS "${NAMES}" names REGEX "^[^#]")
list(LENGTH names count)
if(NOT count EQUAL 224)
  message(FATAL_ERROR "${NAMES}: 224 glyph names expected (codes 32 to 255), found ${count}")
endif()

function(widths_of afm out)
  file(STRINGS "${afm}" metrics REGEX "^C -?[0-9]+ ; WX [0-9]+ ; N [^ ]+ ;")
  foreach(line IN LISTS metrics)
    string(REGEX MATCH "WX ([0-9]+) ; N ([^ ]+) ;" _ "${line}")
    set(width_${CMAKE_MATCH_2} ${CMAKE_MATCH_1})
  endforeach()
  if(NOT DEFINED width_bullet)
    message(FATAL_ERROR "${afm}: no bullet glyph")
  endif()
  set(row "")
  foreach(i RANGE 31)
    string(APPEND row "0, ")
  endforeach()
  foreach(name IN LISTS names)
    if(name STREQUAL "-")
      set(name bullet)
    endif()
    if(NOT DEFINED width_${name})
      message(FATAL_ERROR "${afm}: no glyph '${name}'")
    endif()
    string(APPEND row "${width_${name}}, ")
  endforeach()
  set(${out} "${row}" PARENT_SCOPE)
endfunction()

widths_of("${REGULAR}" regular)
widths_of("${BOLD}" bold)
get_filename_component(regular_name "${REGULAR}" NAME)
get_filename_component(bold_name "${BOLD}" NAME)
file(WRITE "${OUT}.new"
  "// Made at build time by font_widths.cmake from ${regular_name} and ${bold_name}.\n"
  "// Advance widths in thousandths of the font size, by Windows-1252 code.\n"
  "constexpr std::uint16_t kRegularWidths[256] = {${regular}};\n"
  "constexpr std::uint16_t kBoldWidths[256] = {${bold}};\n")
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
