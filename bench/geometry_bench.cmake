# The geometry benchmarks are listed here.
