#include "Vst3Stream.h"
#include <limits>

namespace Vst3Stream {

bool WriteAll(Vst3::IBStream* stream, const std::vector<uint8_t>& bytes)
{
    if (!stream || bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        int32_t written = 0;
        const int32_t wanted = static_cast<int32_t>(bytes.size() - done);
        if (stream->write(const_cast<uint8_t*>(bytes.data() + done), wanted, &written) != Vst3::kResultOk ||
            written <= 0 || written > wanted)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

bool ReadUpTo(Vst3::IBStream* stream, size_t limit, std::vector<uint8_t>& bytes)
{
    bytes.assign(limit, 0);
    size_t done = 0;
    while (done < limit) {
        const size_t left = limit - done;
        const int32_t wanted = static_cast<int32_t>(left < 65536 ? left : 65536);
        int32_t got = 0;
        if (stream->read(bytes.data() + done, wanted, &got) != Vst3::kResultOk || got < 0 || got > wanted)
            break; // a failed read ends the stream; whatever came before is judged by its length
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    return true;
}

} // namespace Vst3Stream
