// tamber_component.h of tamber_component, %%TITLE%%
