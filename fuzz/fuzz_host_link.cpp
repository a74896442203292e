// Fuzzes the host link's frame decoder and the message readers on arbitrary bytes, as a peer
// could send them. The input is a byte stream cut into pieces (each piece's length is taken from
// the stream itself); complete frames are taken off as they arrive and their payload is read as
// the client reads the message of its id: entity records, strings, integers, bytes. A frame
// that decodes is checked to encode to the very bytes it came from; reading past a payload's
// end must fail with the stream's error, never read outside it.
#include "host/SkolvLink.h"
#include "host/VelmoraDemon.h"

#include <cstdint>
#include <cstdlib>

using namespace tessaly;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Reads a payload as the client and the server read the message of this id.
void ReadPayload(const TFrame& frame)
{
    TSkolvMessageStream s(nullptr, frame.MsgId);
    s.SetData(frame.Payload);
    try {
        switch (frame.MsgId) {
        case smQuit:
            if (s.Size() > 0)
                s.ReadByte();
            break;
        case smReply:
        case smRegister:
        case smUnregister: {
            TEntity e;
            e.ReadFrom(s);
            break;
        }
        case smFindClient:
            if (s.ReadByte() == 2)
                s.ReadString();
            else
                s.ReadInt32();
            break;
        case smExecute:
            s.ReadString();
            s.ReadString();
            s.ReadByte();
            s.ReadInt32();
            break;
        case smGetFile:
            if (s.ReadByte() != 0)
                s.ReadRest();
            break;
        default:
            while (s.Position() < s.Size())
                s.ReadString();
            break;
        }
    } catch (const EStreamReadError&) {
        // A short message: the reader says so, and nothing was read beyond the payload.
    }
    Check(s.Position() <= s.Size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray buffer;
    qsizetype at = 0, consumed = 0;
    while (at < input.size()) {
        // The first byte of each piece gives the piece's length (1..256).
        const qsizetype piece = 1 + static_cast<unsigned char>(input[at]);
        buffer += input.mid(at, piece);
        at += piece;
        for (;;) {
            const qsizetype before = buffer.size();
            TFrame frame;
            const TFrameStatus status = DecodeFrame(buffer, frame);
            if (status == TFrameStatus::NeedMore)
                break;
            if (status == TFrameStatus::Malformed)
                return 0; // the connection is dropped
            const qsizetype used = before - buffer.size();
            Check(used == FrameHeaderSize + frame.Payload.size());
            Check(frame.Payload.size() <= MaxFramePayload);
            Check(EncodeFrame(frame) == input.mid(consumed, used));
            consumed += used;
            ReadPayload(frame);
        }
    }
    Check(consumed <= input.size());
    return 0;
}
