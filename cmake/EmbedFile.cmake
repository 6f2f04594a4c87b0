# cmake -DINPUT=file -DOUTPUT=file.cpp -P EmbedFile.cmake
# Writes the bytes of INPUT as the array behind wexa::CarriedFontData().
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from the built font file; do not edit.\n"
    "#include \"resources/carried_font.h\"\n\n"
    "namespace wexa {\nnamespace {\nconst unsigned char carried[${size}] = {\n${bytes}\n};\n}\n\n"
    "std::span<const unsigned char> CarriedFontData() { return carried; }\n\n} // namespace wexa\n")
