#include "core/errors.h"

#include <cstring>

namespace skelda {

ZeroDivideError::ZeroDivideError() : Error("Floating point division by zero") {}
InvalidOpError::InvalidOpError() : Error("Invalid floating point operation") {}
InvalidGraphicError::InvalidGraphicError() : Error("Bitmap image is not valid") {}
JpegError::JpegError(int code) : Error("JPEG error #" + std::to_string(code)), code_(code) {}
PictureFormatError::PictureFormatError(const std::string& kind, const std::string& reason)
    : Error(kind + " image is not valid: " + reason) {}

AssertionError::AssertionError(const std::string& message, const char* file, int line)
    : Error(message + " (" + file + ", line " + std::to_string(line) + ")") {}

static std::string Reason(int errnoValue) {
  return std::strerror(errnoValue);
}

FileError OpenFileError(const std::string& path, const std::string& reason) {
  return FileError("Cannot open file \"" + path + "\". " + reason);
}
FileError OpenFileError(const std::string& path, int errnoValue) {
  return OpenFileError(path, Reason(errnoValue));
}
FileError CreateFileError(const std::string& path, int errnoValue) {
  return FileError("Cannot create file \"" + path + "\". " + Reason(errnoValue));
}
FileError WriteFileError(const std::string& path, int errnoValue) {
  return FileError("Cannot write file \"" + path + "\". " + Reason(errnoValue));
}

PictureTooLargeError::PictureTooLargeError(long long width, long long height)
    : Error("The picture of " + std::to_string(width) + " x " + std::to_string(height) +
            " dots is too large to hold") {}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace skelda
