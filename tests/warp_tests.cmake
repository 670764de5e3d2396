# The warp tests are listed here.
