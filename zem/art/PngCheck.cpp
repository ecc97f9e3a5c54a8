namespace zem
{

namespace
{
    constexpr juce::uint32 maxSide = 1000000;        // the decoder's own limit
    constexpr juce::uint64 maxPixels = 1u << 28;     // beyond this the decode buffer is unreasonable

    juce::uint32 crcOf (const juce::uint8* bytes, size_t length)
    {
        static const auto table = []
        {
            std::array<juce::uint32, 256> t {};

            for (juce::uint32 n = 0; n < 256; ++n)
            {
                auto c = n;
                for (int k = 0; k < 8; ++k)
                    c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
                t[n] = c;
            }

            return t;
        }();

        juce::uint32 crc = 0xffffffffu;

        for (size_t i = 0; i < length; ++i)
            crc = table[(crc ^ bytes[i]) & 0xff] ^ (crc >> 8);

        return crc ^ 0xffffffffu;
    }

    // A chunk type is four ASCII letters; the decoder fails fatally on anything else.
    bool isChunkType (const juce::uint8* type)
    {
        for (int i = 0; i < 4; ++i)
        {
            const auto c = type[i];
            if (! ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
                return false;
        }
        return true;
    }

    juce::uint32 bigEndian (const juce::uint8* p)
    {
        return ((juce::uint32) p[0] << 24) | ((juce::uint32) p[1] << 16) | ((juce::uint32) p[2] << 8) | p[3];
    }

    struct Header
    {
        juce::uint32 width = 0, height = 0;
        int bitDepth = 0, colourType = 0, interlace = 0;

        int channels() const
        {
            switch (colourType)
            {
                case 0: case 3: return 1;
                case 2:         return 3;
                case 4:         return 2;
                case 6:         return 4;
                default:        return 0;
            }
        }

        bool isValid() const
        {
            const bool depthFits = [this]
            {
                switch (colourType)
                {
                    case 0:  return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
                    case 3:  return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
                    case 2: case 4: case 6: return bitDepth == 8 || bitDepth == 16;
                    default: return false;
                }
            }();

            return depthFits && width > 0 && height > 0 && width <= maxSide && height <= maxSide
                && (juce::uint64) width * height <= maxPixels;
        }

        size_t rowBytes (juce::uint32 pixels) const
        {
            return (size_t) (((juce::uint64) pixels * (juce::uint64) (channels() * bitDepth) + 7) / 8);
        }
    };

    // The rows of every pass: one per row of the image, or seven sub-images when interlaced.
    std::vector<std::pair<juce::uint32, size_t>> passRows (const Header& h)
    {
        std::vector<std::pair<juce::uint32, size_t>> passes;

        if (h.interlace == 0)
        {
            passes.push_back ({ h.height, h.rowBytes (h.width) });
            return passes;
        }

        static const int startX[] = { 0, 4, 0, 2, 0, 1, 0 }, stepX[] = { 8, 8, 4, 4, 2, 2, 1 };
        static const int startY[] = { 0, 0, 4, 0, 2, 0, 1 }, stepY[] = { 8, 8, 8, 4, 4, 2, 2 };

        for (int p = 0; p < 7; ++p)
        {
            const auto w = h.width > (juce::uint32) startX[p] ? (h.width - (juce::uint32) startX[p] + (juce::uint32) stepX[p] - 1) / (juce::uint32) stepX[p] : 0;
            const auto rows = h.height > (juce::uint32) startY[p] ? (h.height - (juce::uint32) startY[p] + (juce::uint32) stepY[p] - 1) / (juce::uint32) stepY[p] : 0;

            if (w > 0 && rows > 0)
                passes.push_back ({ rows, h.rowBytes (w) });
        }

        return passes;
    }

    // Inflates the image data and checks every row's filter byte as it goes.
    bool imageDataFits (const juce::MemoryBlock& compressed, const Header& header)
    {
        juce::MemoryInputStream raw (compressed, false);
        juce::GZIPDecompressorInputStream inflated (&raw, false, juce::GZIPDecompressorInputStream::zlibFormat);
        juce::HeapBlock<juce::uint8> row;

        for (const auto& [rows, bytes] : passRows (header))
        {
            row.realloc (bytes + 1);

            for (juce::uint32 y = 0; y < rows; ++y)
                if (inflated.read (row.get(), (int) bytes + 1) != (int) bytes + 1 || row[0] > 4)
                    return false;
        }

        juce::uint8 extra = 0;
        return inflated.read (&extra, 1) == 0;
    }
}

bool isCompletePng (const void* data, size_t size)
{
    static const juce::uint8 signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    const auto* bytes = static_cast<const juce::uint8*> (data);

    if (bytes == nullptr || size < sizeof (signature) || std::memcmp (bytes, signature, sizeof (signature)) != 0)
        return false;

    Header header;
    juce::MemoryBlock imageData;
    bool seenHeader = false, seenPalette = false, seenData = false, dataEnded = false;
    size_t pos = sizeof (signature);

    while (pos + 12 <= size)
    {
        const auto length = (size_t) bigEndian (bytes + pos);

        if (length > size - pos - 12)
            return false;

        const auto* type = bytes + pos + 4;
        const auto* body = bytes + pos + 8;

        if (! isChunkType (type) || crcOf (type, length + 4) != bigEndian (body + length))
            return false;

        const juce::String name (reinterpret_cast<const char*> (type), 4);
        const bool critical = (type[0] & 0x20) == 0;
        pos += length + 12;

        if (! seenHeader && name != "IHDR")
            return false;

        if (name == "IHDR")
        {
            if (seenHeader || length != 13)
                return false;

            header = { bigEndian (body), bigEndian (body + 4), body[8], body[9], body[12] };
            seenHeader = true;

            if (! header.isValid() || body[10] != 0 || body[11] != 0 || body[12] > 1)
                return false;
        }
        else if (name == "PLTE")
        {
            if (seenData || seenPalette || length == 0 || length % 3 != 0 || length > 768)
                return false;

            seenPalette = true;
        }
        else if (name == "IDAT")
        {
            if (dataEnded)
                return false;

            seenData = true;
            imageData.append (body, length);
        }
        else if (name == "IEND")
        {
            return seenData && (header.colourType != 3 || seenPalette) && imageDataFits (imageData, header);
        }
        else if (critical)
        {
            return false;
        }

        if (seenData && name != "IDAT")
            dataEnded = true;
    }

    return false;
}

} // namespace zem
