# The gcode benchmarks are listed here.
