# Articles, price formation, categories, the bulk cost increase and the
# record picker they share.
torvi_add_test(tst_price_formation SOURCES tst_price_formation.cpp LIBS torvi_catalogue_core)
torvi_add_test(tst_catalogue_rules SOURCES tst_catalogue_rules.cpp catalogue_fixture.h LIBS torvi_catalogue_core)
torvi_add_test(tst_bulk_increase SOURCES tst_bulk_increase.cpp catalogue_fixture.h LIBS torvi_catalogue_core)
torvi_add_test(tst_record_picker SOURCES tst_record_picker.cpp catalogue_fixture.h
               LIBS torvi_common_ui torvi_store GUI)
torvi_add_test(tst_articulos_window SOURCES tst_articulos_window.cpp catalogue_fixture.h
               LIBS torvi_catalogue_ui GUI)
torvi_add_test(tst_rubro SOURCES tst_rubro.cpp catalogue_fixture.h LIBS torvi_catalogue_ui GUI)
torvi_add_test(tst_aumenta_costo SOURCES tst_aumenta_costo.cpp catalogue_fixture.h LIBS torvi_catalogue_ui GUI)
