# Google Benchmark's targets in name only: enough to configure (not build) the benchmarks for
# a platform that has no build of the library here.
add_library(benchmark::benchmark INTERFACE IMPORTED)
add_library(benchmark::benchmark_main INTERFACE IMPORTED)
