# The keypad, hint and tool-image tests are listed here.
