# The Windows setup and the portable zip.
