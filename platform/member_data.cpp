#include "platform/member_data.h"

#include <zlib.h>

#include <vector>

namespace {

constexpr unsigned kPieceSize = 16384;

// Takes the produced data: refuses anything past the declared size, writes
// the rest and keeps the running CRC-32.
class DataSink {
public:
    DataSink(HANDLE out, ZPOS64_T declared) : out_(out), declared_(declared) {}

    bool Put(const unsigned char* bytes, unsigned count) {
        if (count == 0) return true;
        if (count > declared_ - written_) return false;
        DWORD done = 0;
        if (!WriteFile(out_, bytes, count, &done, nullptr) || done != count) return false;
        written_ += count;
        crc_ = crc32(crc_, bytes, count);
        return true;
    }

    bool Complete(uLong crc) const { return written_ == declared_ && crc_ == crc; }

private:
    HANDLE out_;
    ZPOS64_T declared_;
    ZPOS64_T written_ = 0;
    uLong crc_ = crc32(0L, Z_NULL, 0);
};

// Closes the member opened by unzOpenCurrentFile2, whatever happens.
class OpenMember {
public:
    explicit OpenMember(unzFile zip) : zip_(zip) {}
    ~OpenMember() { unzCloseCurrentFile(zip_); }
    OpenMember(const OpenMember&) = delete;
    OpenMember& operator=(const OpenMember&) = delete;

private:
    unzFile zip_;
};

class Inflater {
public:
    Inflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
    ~Inflater() {
        if (ready_) inflateEnd(&stream_);
    }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool Ready() const { return ready_; }
    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
    bool ready_ = false;
};

bool CopyStored(unzFile zip, unsigned char* in, DataSink& sink) {
    for (;;) {
        const int read = unzReadCurrentFile(zip, in, kPieceSize);
        if (read < 0) return false;
        if (read == 0) return true;
        if (!sink.Put(in, static_cast<unsigned>(read))) return false;
    }
}

bool Inflate(unzFile zip, unsigned char* in, unsigned char* out, DataSink& sink) {
    Inflater inflater;
    if (!inflater.Ready()) return false;
    z_stream& stream = inflater.Stream();
    bool ended = false;
    for (;;) {
        const int read = unzReadCurrentFile(zip, in, kPieceSize);
        if (read < 0) return false;
        if (read == 0) break;
        if (ended) return false;  // compressed bytes after the end of the stream
        stream.next_in = in;
        stream.avail_in = static_cast<uInt>(read);
        do {
            stream.next_out = out;
            stream.avail_out = kPieceSize;
            const int status = inflate(&stream, Z_NO_FLUSH);
            if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) return false;
            if (!sink.Put(out, kPieceSize - stream.avail_out)) return false;
            if (status == Z_STREAM_END) ended = true;
        } while (!ended && stream.avail_out == 0);
        // Input left over: bytes after the end of the stream, or a stream
        // that can go no further.
        if (stream.avail_in != 0) return false;
    }
    return ended;
}

}  // namespace

bool WriteMemberData(unzFile zip, const unz_file_info64& info, HANDLE out) {
    int method = -1;
    // Raw: minizip hands over the compressed bytes and zlib inflates them
    // here. minizip's own inflating stops quietly at the declared size, which
    // would hide a stream that goes on past it.
    if (unzOpenCurrentFile2(zip, &method, nullptr, 1) != UNZ_OK) return false;
    const OpenMember member(zip);
    if (method != 0 && method != Z_DEFLATED) return false;

    std::vector<unsigned char> in(kPieceSize);
    std::vector<unsigned char> produced(kPieceSize);
    DataSink sink(out, info.uncompressed_size);
    const bool read = method == 0 ? CopyStored(zip, in.data(), sink)
                                  : Inflate(zip, in.data(), produced.data(), sink);
    return read && sink.Complete(info.crc);
}
