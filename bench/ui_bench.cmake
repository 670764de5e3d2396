# The ui benchmarks are listed here.
