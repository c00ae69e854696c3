// The page's script starts here; the build joins the modules it imports
// into the one script of the page (cmake/join_modules.cmake).
import { start } from './page.js';

start();
