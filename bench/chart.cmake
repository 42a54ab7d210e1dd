qv_bench(chart DEPS qv_chart)
