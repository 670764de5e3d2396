# The cli tests are listed here.
