# cvxr9formats: the family's binary formats (attribute table, binary plans, data-logger files and
# measurement texts) as plain code with no widget and no framework, for the plug-in, the tests,
# the benchmarks and the fuzz targets.
cv_glob_sources(CV_XR9_LINK_FORMATS ${CMAKE_CURRENT_LIST_DIR}/link)
list(FILTER CV_XR9_LINK_FORMATS INCLUDE REGEX "/Xr9(Attributes|Plan)\\.(cpp|h)$")
cv_glob_sources(CV_XR9_DL_FORMATS ${CMAKE_CURRENT_LIST_DIR}/datalogger)
list(FILTER CV_XR9_DL_FORMATS INCLUDE REGEX "/(DataLogFile|MeasValue)\\.(cpp|h)$")
add_library(cvxr9formats STATIC ${CV_XR9_LINK_FORMATS} ${CV_XR9_DL_FORMATS})
target_include_directories(cvxr9formats PUBLIC ${CMAKE_CURRENT_LIST_DIR}/link ${CMAKE_CURRENT_LIST_DIR}/datalogger)
target_link_libraries(cvxr9formats PUBLIC cvcommon)
set_target_properties(cvxr9formats PROPERTIES AUTOMOC OFF)
cv_pch(cvxr9formats lib)
