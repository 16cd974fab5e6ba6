// Little-endian writers for the file formats the tools produce (BMP, ICO).
#ifndef TOOLS_LEBYTES_H
#define TOOLS_LEBYTES_H

#include <cstdint>
#include <vector>

inline void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

inline void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

#endif
