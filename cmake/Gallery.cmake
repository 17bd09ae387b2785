# A window showing every widget in its states, for looking at them and for `make screenshots`; not installed,
# and built only when asked for.
juce_add_gui_app (WidgetGallery
    PRODUCT_NAME "WidgetGallery"
    VERSION "${PROJECT_VERSION}"
    COMPANY_NAME "The Musewheeler developers")

target_sources (WidgetGallery PRIVATE "${PROJECT_SOURCE_DIR}/tools/WidgetGallery.cpp")
target_link_libraries (WidgetGallery PRIVATE MusewheelerCore)
set_target_properties (WidgetGallery PROPERTIES EXCLUDE_FROM_ALL TRUE)
