# The processing benchmarks are listed here.
