// Errors are exceptions that carry the text the user sees in the error box.
#pragma once

#include <stdexcept>
#include <string>

namespace skelda {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A text that is not a number ("'%s' is not a valid floating point value", ... integer value).
class ConvertError : public Error {
 public:
  using Error::Error;
};

// "Floating point division by zero" / "Invalid floating point operation".
class ZeroDivideError : public Error {
 public:
  ZeroDivideError();
};
class InvalidOpError : public Error {
 public:
  InvalidOpError();
};

// "Bitmap image is not valid".
class InvalidGraphicError : public Error {
 public:
  InvalidGraphicError();
};

// "JPEG error #%d" with the decoder's own error number.
class JpegError : public Error {
 public:
  explicit JpegError(int code);
  int code() const { return code_; }

 private:
  int code_;
};

// "%s image is not valid: %s": a picture file of that kind the format's library refuses, with
// the library's reason.
class PictureFormatError : public Error {
 public:
  PictureFormatError(const std::string& kind, const std::string& reason);
};

// "%s (%s, line %d)": a broken precondition such as an unsupported bitmap format.
class AssertionError : public Error {
 public:
  AssertionError(const std::string& message, const char* file, int line);
};

// A file that cannot be opened, created or written; the text names the file and the reason.
class FileError : public Error {
 public:
  using Error::Error;
};
FileError OpenFileError(const std::string& path, int errnoValue);  // Cannot open file "%s". %s
FileError OpenFileError(const std::string& path, const std::string& reason);
FileError CreateFileError(const std::string& path, int errnoValue);  // Cannot create file "%s". %s
FileError WriteFileError(const std::string& path, int errnoValue);   // Cannot write file "%s". %s

// A picture whose size cannot be held in memory.
class PictureTooLargeError : public Error {
 public:
  PictureTooLargeError(long long width, long long height);
};

// The error box shows the text with a full stop added when its last character comes after "."
// in character order (a letter, a digit, any non-ASCII character).
std::string ErrorBoxText(const std::string& message);

}  // namespace skelda
