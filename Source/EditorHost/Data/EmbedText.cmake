# Writes a C++ source file that returns the text of INPUT from the function
# SYMBOL (declared in HEADER), so the program carries the file inside itself. The
# text is a character array whose size gives the length: a constexpr string_view
# would count a long text's characters at compile time, past the compiler's limit.
# Run as: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -DHEADER=... -P EmbedText.cmake
file(READ "${INPUT}" TEXT)
set(DELIMITER "KvEmbed")
string(FIND "${TEXT}" ")${DELIMITER}\"" CLASH)
if(NOT CLASH EQUAL -1)
  message(FATAL_ERROR "${INPUT} contains the raw string delimiter ${DELIMITER}")
endif()
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} by EmbedText.cmake; edit that file instead.\n"
  "#include \"${HEADER}\"\n\n"
  "std::string_view ${SYMBOL}()\n{\n"
  "\tstatic constexpr char Text[] = R\"${DELIMITER}(${TEXT})${DELIMITER}\";\n"
  "\treturn std::string_view(Text, sizeof(Text) - 1);\n}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
