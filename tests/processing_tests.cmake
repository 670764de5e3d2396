# The processing tests are listed here.
