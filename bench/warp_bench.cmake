# The warp benchmark is listed here.
