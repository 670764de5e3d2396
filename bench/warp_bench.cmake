skelda_add_bench(warp_bench SOURCES warp_bench.cpp LIBS skelda_warp)
