// JPEG decoding through libjpeg's API; its errors come back through longjmp, so the decoding
// function keeps only plain data on its stack.
#include "plugins/pictures/jpegdecode.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr) {}

// No screen needs more: a bigger photo is decoded at a half, a quarter or an eighth of its size,
// and one that is still bigger at an eighth is refused.
constexpr unsigned long long kMaxDecodedPixels = 4096ULL * 4096ULL;

bool chooseScale(jpeg_decompress_struct& info)
{
    for (unsigned int denominator : {1U, 2U, 4U, 8U}) {
        const unsigned long long width = (info.image_width + denominator - 1) / denominator;
        const unsigned long long height = (info.image_height + denominator - 1) / denominator;
        if (width * height <= kMaxDecodedPixels) {
            info.scale_num = 1;
            info.scale_denom = denominator;
            return true;
        }
    }
    return false;
}

// Decodes into `image`; false with the library's message on failure.
bool decode(const unsigned char* data, unsigned long size, QImage& image, char* message)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onError;
    errors.base.output_message = onMessage;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", errors.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    if (!chooseScale(info)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "the picture is too large");
        return false;
    }
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) { // the memory could not be had: libjpeg must not write through nothing
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "the picture is too large");
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray& data, QString& error)
{
    QImage image;
    char message[JMSG_LENGTH_MAX] = {};
    if (data.isEmpty() || !decode(reinterpret_cast<const unsigned char*>(data.constData()),
                                  static_cast<unsigned long>(data.size()), image, message)) {
        error = QString::fromLocal8Bit(message);
        return QImage();
    }
    return image;
}
