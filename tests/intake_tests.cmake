# The intake tests are listed here.
