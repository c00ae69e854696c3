// An entry for the join's test: pure modules joined as the page's are, with
// what they compute left where the test can read it.
import { km_text, metres_text, parse_km } from '../../src/text.js';
import { open_model } from '../../src/route_model.js';
import { small_data } from '../fixture.js';

const model = open_model(small_data());
globalThis.joined = {
  km: km_text(19050),
  metres: metres_text(22700),
  parsed: parse_km(model, 'km 7+500'),
};
