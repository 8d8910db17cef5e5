# Where an install puts the game, in Debian's layout for games: the program
# in a folder of its own under lib/games, a command link to it in games, its
# data under share/games. The program finds its data folders beside itself,
# so each one gets a link of the same name beside the program. The paths
# are relative to the install prefix.
set(EARSHOT_INSTALL_PROGRAM_DIR lib/games/earshot)
set(EARSHOT_INSTALL_COMMAND_DIR games)
set(EARSHOT_INSTALL_DATA_DIR share/games/earshot)
set(EARSHOT_INSTALL_DOC_DIR share/doc/earshot)

# Folders made by an install are readable by everyone, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Installs a relative symbolic link at <link> (a path under the prefix)
# that points to <target> (another path under the prefix), so that the
# installed tree can be moved as a whole. The link is made in the build tree
# and installed as a link.
function(earshot_install_link link target)
  get_filename_component(link_dir ${link} DIRECTORY)
  get_filename_component(link_name ${link} NAME)
  file(RELATIVE_PATH relative /${link_dir} /${target})
  set(staged ${PROJECT_BINARY_DIR}/install-links/${link})
  get_filename_component(staged_dir ${staged} DIRECTORY)
  file(MAKE_DIRECTORY ${staged_dir})
  file(CREATE_LINK ${relative} ${staged} SYMBOLIC)
  install(FILES ${staged} DESTINATION ${link_dir})
endfunction()

# Links the data folder <name> (installed by the caller into
# ${EARSHOT_INSTALL_DATA_DIR}/<name>) beside the program, where it looks.
function(earshot_install_data_folder_link name)
  earshot_install_link(${EARSHOT_INSTALL_PROGRAM_DIR}/${name} ${EARSHOT_INSTALL_DATA_DIR}/${name})
endfunction()
