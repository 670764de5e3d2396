skelda_add_test(warp_tool_test SOURCES warp_tool_test.cpp LIBS skelda_warp)
