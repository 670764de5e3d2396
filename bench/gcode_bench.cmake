skelda_add_bench(gcode_bench SOURCES gcode_bench.cpp LIBS skelda_gcode skelda_processing
                 skelda_simulation)
