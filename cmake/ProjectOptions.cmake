# One interface target carries the language level and warnings for all our code.
add_library(pictomine_options INTERFACE)
target_compile_features(pictomine_options INTERFACE cxx_std_20)
target_compile_options(pictomine_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion)
# CI turns every warning in our code into an error; the everyday build only reports them.
option(PICTOMINE_WERROR "Treat warnings in project code as errors" OFF)
if(PICTOMINE_WERROR)
  target_compile_options(pictomine_options INTERFACE -Werror)
endif()
target_compile_definitions(pictomine_options INTERFACE QT_NO_KEYWORDS)

# The sanitizer pass: AddressSanitizer (with leak checking) and UndefinedBehaviorSanitizer on all
# our code; any undefined behaviour ends the program.
option(PICTOMINE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(PICTOMINE_SANITIZE)
  set(sanitize -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(pictomine_options INTERFACE ${sanitize})
  target_link_options(pictomine_options INTERFACE ${sanitize})
endif()

# libFuzzer targets (clang only): coverage instrumentation on our code, the targets in fuzz/.
option(PICTOMINE_BUILD_FUZZERS "Build the libFuzzer targets (needs clang)" OFF)
if(PICTOMINE_BUILD_FUZZERS)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "PICTOMINE_BUILD_FUZZERS needs clang: configure with CMAKE_CXX_COMPILER=clang++")
  endif()
  target_compile_options(pictomine_options INTERFACE -fsanitize=fuzzer-no-link)
endif()

# pictomine_library(NAME folder DEPS ...): a static library of every source in the folder.
# Its public include folder holds only its own headers: build/include/<folder>/<folder> links to
# the source folder, so "<folder>/X.h" is found only by code that links the library, and a
# library sees the headers of the libraries it depends on and no others.
function(pictomine_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  list(FILTER sources INCLUDE REGEX "\\.(cpp|h|qrc)$")
  add_library(${name} STATIC ${sources})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  set(public ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${public})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${public}/${folder} SYMBOLIC)
  target_include_directories(${name} PUBLIC ${public})
  target_link_libraries(${name} PUBLIC pictomine_options ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES LINKER_LANGUAGE CXX)
endfunction()

# pictomine_test(NAME DEPS ... [SCREEN json] [HIGH_DPI] [LABELS label]): one GoogleTest binary of
# every source in the folder, run headless. SCREEN names an offscreen-platform configuration (its
# screens) for the binary. With HIGH_DPI, its tests named *HighDpi* run apart, on a 1600 x 900
# logical screen at a device pixel ratio of 2, and those named *Scaled* at 1.25, 1.5, 1.75 and 2.
# LABELS gives its tests a CTest label.
function(pictomine_test name)
  cmake_parse_arguments(ARG "HIGH_DPI" "SCREEN;LABELS" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(NOT sources)
    return()
  endif()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${sources} ${headers})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE pictomine_options ${ARG_DEPS} GTest::gtest GTest::gmock test_support)
  set(platform "offscreen")
  if(ARG_SCREEN)
    set(platform "offscreen:configfile=${ARG_SCREEN}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-*HighDpi*:*Scaled*"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=${platform}" TIMEOUT 300 LABELS "${ARG_LABELS}")
  if(ARG_HIGH_DPI)
    add_test(NAME ${name}.HighDpi.2x COMMAND ${name} --gtest_filter=*HighDpi*)
    set_tests_properties(${name}.HighDpi.2x PROPERTIES TIMEOUT 300 ENVIRONMENT
      "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_SOURCE_DIR}/cmake/screens/scaled-3200x1800.json;QT_SCALE_FACTOR=2")
    # Tests named *Scaled* run at every common desktop scale, each on a screen of 1600 x 900
    # logical pixels.
    foreach(hundredths 125 150 175 200)
      math(EXPR whole "${hundredths} / 100")
      math(EXPR part "${hundredths} % 100")
      set(factor "${whole}.${part}")
      math(EXPR w "1600 * ${hundredths} / 100")
      math(EXPR h "900 * ${hundredths} / 100")
      set(screen ${CMAKE_BINARY_DIR}/screens/scaled-${w}x${h}.json)
      file(WRITE ${screen} "{ \"screens\": [ { \"name\": \"scaled\", \"x\": 0, \"y\": 0, \"width\": ${w}, \"height\": ${h}, \"logicalDpi\": 96, \"logicalBaseDpi\": 96 } ] }\n")
      add_test(NAME ${name}.Scaled.${factor}x COMMAND ${name} --gtest_filter=*Scaled*)
      set_tests_properties(${name}.Scaled.${factor}x PROPERTIES TIMEOUT 300 ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen:configfile=${screen};QT_SCALE_FACTOR=${factor}")
    endforeach()
  endif()
endfunction()
