// The window's pictures, decoded when the program was built (ui/tools/embed_pictures.cpp) from
// the JPEG and PNG files in ui/resources. Each image shares the program's read-only data: nothing
// is read, decoded or copied when the window opens.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>

namespace pentora::pictures {

// The board picture at its own size, 651 x 401.
QImage board();
// The program icon as drawn at `side` x `side`, for each of iconSides(); null otherwise.
QImage icon(int side);
// The sizes the icon was drawn in, smallest first.
std::span<const int> iconSides();

// Wraps pixels that live as long as the program: bytes, or 32-bit pixels in the machine's order.
inline QImage wrap(const unsigned char* data, int width, int height, int bytesPerLine,
                   QImage::Format format) {
    return {data, width, height, bytesPerLine, format};
}
inline QImage wrap(const std::uint32_t* data, int width, int height, int bytesPerLine,
                   QImage::Format format) {
    // QImage reads a 32-bit format's pixels as words from its bytes.
    return {reinterpret_cast<const unsigned char*>(data), // NOLINT(*-reinterpret-cast)
            width, height, bytesPerLine, format};
}

} // namespace pentora::pictures
