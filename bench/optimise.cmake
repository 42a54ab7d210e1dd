qv_bench(optimise DEPS qv_calc)
