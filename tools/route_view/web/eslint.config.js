// The page's modules: the recommended rules, names in lower case with
// underscores as everywhere in the project, and browser globals only where
// a module draws or handles the page (the pure ones are tested in node).
import js from '@eslint/js';
import globals from 'globals';

const pure = [
  'src/sorted.js',
  'src/route_model.js',
  'src/text.js',
  'src/profile_scale.js',
  'src/plan_geometry.js',
  'src/view_range.js',
  'src/search.js',
];

export default [
  { ignores: ['node_modules/'] },
  js.configs.recommended,
  {
    languageOptions: { ecmaVersion: 2022, sourceType: 'module' },
    rules: {
      'id-match': ['error', '^[a-z_][a-z0-9_]*$', { onlyDeclarations: true, properties: false }],
      'max-len': ['error', { code: 100, ignoreUrls: true }],
      'no-var': 'error',
      'prefer-const': 'error',
      eqeqeq: 'error',
      'no-shadow': 'error',
      'no-implicit-globals': 'error',
    },
  },
  { files: ['src/**/*.js'], ignores: pure, languageOptions: { globals: globals.browser } },
  { files: ['test/**/*.js', '*.js', '*.mjs'], languageOptions: { globals: globals.node } },
];
