# Writes a C++ source file that returns the text of INPUT from the function
# SYMBOL (declared in HEADER), so the program carries the file inside itself. The text is a
# char array whose length is its size: a constexpr string_view would count it at compile time,
# which compilers refuse for texts past a few hundred thousand characters.
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
