# Run by cpack on the files of the older build the installer test upgrades from, before it
# packs them: one file that only the older build ships, for the upgrade to take away.
file(WRITE "${CPACK_TEMPORARY_DIRECTORY}/ankstesnė-versija.txt" "1.0.0\n")
