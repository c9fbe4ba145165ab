# Article pickers, price lookup and bar-code entry.
torvi_add_test(tst_article_search SOURCES tst_article_search.cpp picker_fixture.h LIBS torvi_catalogue_core)
torvi_add_test(tst_article_picker SOURCES tst_article_picker.cpp picker_fixture.h LIBS torvi_catalogue_ui GUI)
torvi_add_test(tst_price_lookup SOURCES tst_price_lookup.cpp picker_fixture.h LIBS torvi_catalogue_ui GUI)
torvi_add_test(tst_codigo_barras_ticket SOURCES tst_codigo_barras_ticket.cpp picker_fixture.h
               LIBS torvi_catalogue_ui GUI)
