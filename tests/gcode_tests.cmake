# The gcode tests are listed here.
