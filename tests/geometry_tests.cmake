# The geometry tests are listed here.
