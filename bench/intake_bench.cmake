# The intake benchmarks are listed here.
