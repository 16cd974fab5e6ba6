# cmake -DSOURCE=a -DTARGET=b -P crlf.cmake: copies a text file with Windows
# line ends, so that every editor on Windows shows its lines.
file(READ ${SOURCE} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${TARGET} "${text}")
