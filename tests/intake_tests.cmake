# The intake tests are listed here.
find_package(JPEG REQUIRED)

skelda_add_test(jpeg_decoder_test SOURCES jpeg_decoder_test.cpp LIBS skelda_intake JPEG::JPEG)
skelda_add_test(resampling_test SOURCES resampling_test.cpp LIBS skelda_intake)
skelda_add_test(area_resample_test SOURCES area_resample_test.cpp LIBS skelda_intake)
skelda_add_test(dot_size_test SOURCES dot_size_test.cpp LIBS skelda_intake)
skelda_add_test(picture_loading_test SOURCES picture_loading_test.cpp
                LIBS skelda_intake JPEG::JPEG)
skelda_add_test(fit_to_window_test SOURCES fit_to_window_test.cpp LIBS skelda_intake)
skelda_add_test(picture_saving_test SOURCES picture_saving_test.cpp LIBS skelda_intake JPEG::JPEG)
