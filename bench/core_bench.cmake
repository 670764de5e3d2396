# The core benchmarks are listed here.
