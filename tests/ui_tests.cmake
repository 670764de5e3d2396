# The ui tests are listed here.
