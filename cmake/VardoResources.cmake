# vardo_module_resources(<target> <rcfile>)
#
# Compiles the resource script <rcfile> (relative to the calling folder, or
# absolute) with vardo_rc and adds the generated source, which holds the
# resources as an ELF note, to <target>. Files the script names (icons,
# manifests) are found beside the script and tracked as dependencies.
# vardo_rc is defined in resources/rc; the reference is resolved when the
# build is generated, so modules may be declared before that folder.
function(vardo_module_resources target rcfile)
  get_filename_component(script ${rcfile} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  get_filename_component(stem ${script} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_${stem}_resources.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND vardo_rc --depfile ${out}.d -o ${out} ${script}
    DEPENDS vardo_rc ${script}
    DEPFILE ${out}.d
    COMMENT "Compiling resources ${rcfile} for ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
