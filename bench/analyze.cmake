if(QV_WITH_QT)
  qv_bench(analyze DEPS qv_page_analyze qv_page_opening)
endif()
