#include "DamagedPngs.h"

namespace
{
juce::uint32 crcOf (const juce::uint8* p, size_t n)
{
    juce::uint32 crc = 0xffffffffu;
    for (size_t i = 0; i < n; ++i)
    {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) != 0 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xffffffffu;
}

void appendBigEndian (juce::MemoryBlock& block, juce::uint32 value)
{
    const juce::uint8 bytes[] = { (juce::uint8) (value >> 24), (juce::uint8) (value >> 16), (juce::uint8) (value >> 8),
                                  (juce::uint8) value };
    block.append (bytes, 4);
}
} // namespace

juce::MemoryBlock pngChunk (const char* type, const std::string& body)
{
    juce::MemoryBlock block;
    appendBigEndian (block, (juce::uint32) body.size());
    block.append (type, 4);
    block.append (body.data(), body.size());
    appendBigEndian (block, crcOf (static_cast<const juce::uint8*> (block.getData()) + 4, body.size() + 4));
    return block;
}

juce::MemoryBlock withChunkAfterHeader (const juce::MemoryBlock& png, const juce::MemoryBlock& extra)
{
    juce::MemoryBlock result (png.getData(), 8 + 25);
    result.append (extra.getData(), extra.getSize());
    result.append (static_cast<const char*> (png.getData()) + 33, png.getSize() - 33);
    return result;
}

std::vector<DamagedPng> damagedPngs (const juce::MemoryBlock& sound)
{
    juce::MemoryBlock random (512);
    juce::Random generator (42);
    for (size_t i = 0; i < random.getSize(); ++i)
        random[i] = (char) generator.nextInt (256);
    auto signedRandom = random;
    signedRandom.copyFrom ("\x89PNG\r\n\x1a\n", 0, 8);

    auto badChecksum = pngChunk ("tEXt", std::string ("Comment\0fine", 12));
    badChecksum[badChecksum.getSize() - 1] = (char) (badChecksum[badChecksum.getSize() - 1] ^ 0x5a);

    std::vector<DamagedPng> damaged {
        { "cut after its header", juce::MemoryBlock (sound.getData(), 33) },
        { "cut inside its image data", juce::MemoryBlock (sound.getData(), sound.getSize() - 20) },
        { "signature only", juce::MemoryBlock (sound.getData(), 8) },
        { "random bytes", random },
        { "random bytes behind a signature", signedRandom },
        { "text", juce::MemoryBlock ("not a png at all", 16) },
        { "ancillary chunk with a bad checksum", withChunkAfterHeader (sound, badChecksum) },
    };
    const std::pair<const char*, const char*> badTypes[] = {
        { "ZZZZ", "unknown critical chunk" },          { "a1bc", "digit in a chunk type" },
        { "ab c", "space in a chunk type" },           { "abc\x7f", "control character in a chunk type" },
        { "\xe1" "bcd", "byte above ASCII in a chunk type" }, { "A_BC", "punctuation in a chunk type" },
    };
    for (const auto& [type, what] : badTypes)
        damaged.push_back ({ what, withChunkAfterHeader (sound, pngChunk (type, "abc")) });
    return damaged;
}
