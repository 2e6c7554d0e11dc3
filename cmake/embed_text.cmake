# Writes INPUT's text into OUTPUT as the C++ string sim::kResourceScript.
file(READ ${INPUT} text HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${text}")
file(WRITE ${OUTPUT} "namespace sim { extern const char kResourceScript[] = {${bytes} 0x00}; }\n")
