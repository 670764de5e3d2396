# The intake tests are listed here.
find_package(JPEG REQUIRED)

skelda_add_test(jpeg_decoder_test SOURCES jpeg_decoder_test.cpp LIBS skelda_intake JPEG::JPEG)
