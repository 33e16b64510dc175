# What keeps a fresh build of the client, olva-server and the ~100 test
# programs short on a small machine: lld for the links, precompiled Qt
# headers for the libraries and one shared by every test, and lighter debug
# information in the tests.
# scripts/build.sh turns the precompiled headers on; a build folder configured
# by hand keeps its compile commands (and its compiler cache) unless asked.
option(OLVA_PCH "Precompile the Qt headers of the libraries and the tests" OFF)
option(OLVA_USE_LLD "Link with lld when it is installed" ON)

include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld OLVA_HAVE_LLD)
if(OLVA_USE_LLD AND OLVA_HAVE_LLD)
  target_link_options(olva_config INTERFACE -fuse-ld=lld)
endif()

# ccache caches compilations that use a precompiled header only when told
# that its macros and time stamps may be trusted; the compiler checks both.
if(OLVA_PCH AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
    CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    ${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

# The Qt headers most sources of each library include.
set(OLVA_PCH_CORE
  <QByteArray> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QJsonArray>
  <QJsonDocument> <QJsonObject> <QList> <QLocale> <QMap> <QNetworkAccessManager>
  <QNetworkReply> <QNetworkRequest> <QObject> <QPointer> <QRegularExpression> <QSet>
  <QSettings> <QStandardPaths> <QString> <QStringList> <QTimer> <QUrl> <QUrlQuery> <QVariant>)
set(OLVA_PCH_GUI ${OLVA_PCH_CORE}
  <QApplication> <QColor> <QDialog> <QFrame> <QHBoxLayout> <QHeaderView> <QIcon> <QKeyEvent>
  <QLabel> <QLineEdit> <QMdiSubWindow> <QMouseEvent> <QPainter> <QPainterPath> <QPixmap>
  <QPropertyAnimation> <QPushButton> <QScrollBar> <QStyledItemDelegate> <QTableWidget>
  <QVBoxLayout> <QWidget>)
set(OLVA_PCH_SERVER ${OLVA_PCH_CORE}
  <QRandomGenerator> <QSqlDatabase> <QSqlError> <QSqlQuery> <QTcpServer> <QTcpSocket>)
# QtTest brings all of QtCore with it.
set(OLVA_PCH_TESTS
  <QtTest> <QSignalSpy> <QAbstractButton> <QAccessible> <QApplication> <QCheckBox> <QDialog>
  <QImage> <QJsonArray> <QJsonDocument> <QJsonObject> <QLabel> <QLayout> <QLineEdit> <QMdiArea>
  <QMdiSubWindow> <QNetworkAccessManager> <QNetworkReply> <QPushButton> <QSqlQuery>
  <QTableView> <QTableWidget> <QTcpServer> <QTcpSocket> <QTemporaryDir> <QVBoxLayout>)

function(olva_precompile target)
  if(OLVA_PCH)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()

# Every test program is compiled against the same Qt modules and flags, so
# that one precompiled header (olva_testpch) serves them all: gcc refuses a
# header built with any macro defined differently. The per-folder paths that
# Qt's test library defines only serve QFINDTESTDATA, which no test uses.
add_library(olva_testflags INTERFACE)
target_link_libraries(olva_testflags INTERFACE olva_config
  Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network Qt6::Test Qt6::Sql Qt6::HttpServer
  Qt6::Multimedia Qt6::MultimediaWidgets Qt6::StateMachine Qt6::Charts)
if(TARGET Qt6::DBus)
  target_link_libraries(olva_testflags INTERFACE Qt6::DBus)
endif()
# Line tables are enough for a test's backtrace and cost far less than -g;
# the test programs' own code is optimised only as far as debugging allows
# (-Og), a third less compile time than -O2. What they test keeps -O2.
target_compile_options(olva_testflags INTERFACE $<$<CONFIG:RelWithDebInfo,Debug>:-g1>
  $<$<CONFIG:RelWithDebInfo>:-Og>)

if(OLVA_PCH)
  target_compile_options(olva_testflags INTERFACE -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
  file(WRITE ${CMAKE_BINARY_DIR}/olva_testpch.cpp "// Holds the precompiled header of the tests.\n")
  add_library(olva_testpch STATIC EXCLUDE_FROM_ALL ${CMAKE_BINARY_DIR}/olva_testpch.cpp)
  target_link_libraries(olva_testpch PRIVATE olva_testflags)
  target_precompile_headers(olva_testpch PRIVATE ${OLVA_PCH_TESTS})
endif()

# A test program uses the tests' precompiled header. Unless it lists a
# header of its own for moc, its moc file is empty (a test includes its own
# .moc), and loading the large header costs more than compiling that empty
# file: it is compiled without.
function(olva_test_pch target)
  if(NOT OLVA_PCH)
    return()
  endif()
  target_precompile_headers(${target} REUSE_FROM olva_testpch)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.h$")
  if(NOT sources)
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
      PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
endfunction()
