qv_bench(calc DEPS qv_chart)
