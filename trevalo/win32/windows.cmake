# The Windows side of Trevalo (included from trevalo/CMakeLists.txt in the
# Windows tree): the shipped data files, the Win32 library and its tests.

# The history page's template and the navigation mode's site categories.
# The category files keep their Chinese names; only their contents are GBK.
install(FILES
    ${CMAKE_CURRENT_SOURCE_DIR}/data/msn.dat
    ${CMAKE_CURRENT_SOURCE_DIR}/data/搜索引擎.ini
    ${CMAKE_CURRENT_SOURCE_DIR}/data/名站导航.ini
    ${CMAKE_CURRENT_SOURCE_DIR}/data/实用酷站.ini
    ${CMAKE_CURRENT_SOURCE_DIR}/data/工具服务.ini
    DESTINATION Trevalo/Data
)
