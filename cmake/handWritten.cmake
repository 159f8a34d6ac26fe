# The targets that assemble hand-written routines (search/*.S), and their
# objects. Every build lists them in hand-written-objects.txt and builds them
# all as the target hand_written. A build configured with HAND_WRITTEN_FROM,
# another build's folder, links that build's routines in place of its own,
# converted by objcopy with the options HAND_WRITTEN_CONVERSION: so the
# i686-windows routines, made ELF objects, run in an i386 Linux program.
set(HAND_WRITTEN_FROM "" CACHE PATH "A build whose hand-written routines to link in place of this one's")
set(HAND_WRITTEN_CONVERSION "" CACHE STRING "objcopy's options that convert that build's objects")

set(hand_written_targets)
set(every_target)
get_property(directories DIRECTORY ${PROJECT_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
list(PREPEND directories ${PROJECT_SOURCE_DIR})
foreach(directory ${directories})
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    list(APPEND every_target ${targets})
    foreach(target ${targets})
        get_target_property(type ${target} TYPE)
        get_target_property(sources ${target} SOURCES)
        if(type MATCHES "^(STATIC|OBJECT)_LIBRARY$" AND sources MATCHES "(^|;|/)search/[^/;]+\\.S(;|$)")
            list(APPEND hand_written_targets ${target})
        endif()
    endforeach()
endforeach()

set(lines "")
foreach(target ${hand_written_targets})
    string(APPEND lines "${target}|$<JOIN:$<TARGET_OBJECTS:${target}>,|>\n")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/hand-written-objects.txt CONTENT "${lines}")
add_custom_target(hand_written)
add_dependencies(hand_written ${hand_written_targets})

if(NOT HAND_WRITTEN_FROM)
    return()
endif()
if(NOT EXISTS ${HAND_WRITTEN_FROM}/hand-written-objects.txt)
    message(FATAL_ERROR "${HAND_WRITTEN_FROM} lists no hand-written routines: configure it first")
endif()

# Each object of the other build, converted, by target and source name
# (converted_routines_asmBinarySearch.S).
file(STRINGS ${HAND_WRITTEN_FROM}/hand-written-objects.txt lines)
set(converted_objects)
foreach(line ${lines})
    string(REPLACE "|" ";" objects "${line}")
    list(POP_FRONT objects target)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/hand-written/${target})
    foreach(object ${objects})
        if(object MATCHES "([^/]+\\.S)\\.o(bj)?$")
            set(name ${CMAKE_MATCH_1})
            set(converted ${CMAKE_BINARY_DIR}/hand-written/${target}/${name}.o)
            add_custom_command(OUTPUT ${converted}
                COMMAND ${CMAKE_OBJCOPY} ${HAND_WRITTEN_CONVERSION} ${object} ${converted}
                DEPENDS ${object}
                COMMENT "Converting ${target}'s ${name} from ${HAND_WRITTEN_FROM}"
                VERBATIM)
            set(converted_${target}_${name} ${converted})
            list(APPEND converted_${target} ${converted})
            list(APPEND converted_objects ${converted})
        endif()
    endforeach()
endforeach()
add_custom_target(converted_hand_written DEPENDS ${converted_objects})

# A library's own routines are replaced; an object library's objects, where
# another target takes them (what it assembles itself is then unused).
foreach(target ${every_target})
    get_target_property(sources ${target} SOURCES)
    get_target_property(type ${target} TYPE)
    if(NOT sources)
        continue()
    endif()
    set(replaced)
    set(changed FALSE)
    foreach(source ${sources})
        get_filename_component(name "${source}" NAME)
        if(source MATCHES "^\\$<TARGET_OBJECTS:(.+)>$" AND CMAKE_MATCH_1 IN_LIST hand_written_targets)
            set(twin ${CMAKE_MATCH_1})
            if(NOT converted_${twin})
                message(FATAL_ERROR "${HAND_WRITTEN_FROM} has no objects of ${twin}")
            endif()
            list(APPEND replaced ${converted_${twin}})
            set(changed TRUE)
        elseif(source MATCHES "(^|/)search/[^/]+\\.S$" AND target IN_LIST hand_written_targets
               AND NOT type STREQUAL OBJECT_LIBRARY)
            if(NOT converted_${target}_${name})
                message(FATAL_ERROR "${HAND_WRITTEN_FROM} has no ${target}'s ${name}")
            endif()
            list(APPEND replaced ${converted_${target}_${name}})
            set(changed TRUE)
        else()
            list(APPEND replaced ${source})
        endif()
    endforeach()
    if(changed)
        set_property(TARGET ${target} PROPERTY SOURCES ${replaced})
        add_dependencies(${target} converted_hand_written)
    endif()
endforeach()
set_source_files_properties(${converted_objects} DIRECTORY ${directories}
    PROPERTIES GENERATED TRUE EXTERNAL_OBJECT TRUE)
